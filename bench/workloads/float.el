;;; -*- lexical-binding: t -*-
(let ((s 0.0))
  (dotimes (k 1000000)
    (let ((x (* (+ k 1) 0.0001)))
      (setq s (+ s (* (sin x) (cos x)) (sqrt x)))))
  (princ (format "CHECKSUM %d\n" (truncate (* s 100.0)))))
