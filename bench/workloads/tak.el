;;; -*- lexical-binding: t -*-
(defun tak (x y z)
  (if (not (< y x)) z
    (tak (tak (- x 1) y z) (tak (- y 1) z x) (tak (- z 1) x y))))
(let ((total 0))
  (dotimes (i 40) (setq total (+ total (tak 18 12 6))))
  (princ (format "CHECKSUM %d\n" total)))
