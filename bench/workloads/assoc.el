;;; -*- lexical-binding: t -*-
(let ((al nil) (i 0) (total 0) (k 0))
  (while (< i 300) (setq al (cons (cons i (* i 7)) al) i (+ i 1)))
  (dotimes (_ 600000)
    (setq total (% (+ total (cdr (assoc (% (* k 37) 300) al))) 1000003) k (+ k 1)))
  (princ (format "CHECKSUM %d\n" total)))
