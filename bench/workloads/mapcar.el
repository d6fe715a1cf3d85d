;;; -*- lexical-binding: t -*-
(let ((lst nil) (i 0) (total 0))
  (while (< i 1000) (setq lst (cons i lst) i (+ i 1)))
  (dotimes (k 2000)
    (let ((m (mapcar (lambda (x) (% (+ (* x 31) k) 1009)) lst)))
      (setq total (% (+ total (apply #'+ m)) 1000003))))
  (princ (format "CHECKSUM %d\n" total)))
