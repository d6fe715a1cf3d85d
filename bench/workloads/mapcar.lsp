; mapcar with a quoted lambda that reads a variable of the caller.
(setq lst nil i 0)
(while (< i 1000) (setq lst (cons i lst) i (+ i 1)))
(setq total 0 k 0)
(repeat 2000
  (setq m (mapcar '(lambda (x) (rem (+ (* x 31) k) 1009)) lst))
  (setq total (rem (+ total (apply '+ m)) 1000003) k (+ k 1)))
(princ (strcat "CHECKSUM " (itoa total)))
(princ)
