;;; -*- lexical-binding: t -*-
(let ((total 0))
  (dotimes (r 12)
    (let ((lst nil) (i 1) (j 1))
      (while (< i 10007) (setq lst (cons (% (+ (* i 7919) r) 10007) lst) i (+ i 1)))
      (dolist (v (sort lst (lambda (a b) (> a b))))
        (setq total (% (+ total (* j v)) 1000003) j (+ j 1)))))
  (princ (format "CHECKSUM %d\n" total)))
