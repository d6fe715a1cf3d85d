; vl-sort with a lambda comparison over a permutation of 1..10006 (no duplicates to drop).
(setq total 0 r 0)
(repeat 12
  (setq lst nil i 1)
  (while (< i 10007) (setq lst (cons (rem (+ (* i 7919) r) 10007) lst) i (+ i 1)))
  (setq sorted (vl-sort lst '(lambda (a b) (> a b))) j 1)
  (foreach v sorted (setq total (rem (+ total (* j v)) 1000003) j (+ j 1)))
  (setq r (+ r 1)))
(princ (strcat "CHECKSUM " (itoa total)))
(princ)
