; Takeuchi function: deep mutual recursion with three arguments.
(defun tak (x y z)
  (if (not (< y x)) z
    (tak (tak (- x 1) y z) (tak (- y 1) z x) (tak (- z 1) x y))))
(setq total 0 i 0)
(repeat 40 (setq total (+ total (tak 18 12 6)) i (+ i 1)))
(princ (strcat "CHECKSUM " (itoa total)))
(princ)
