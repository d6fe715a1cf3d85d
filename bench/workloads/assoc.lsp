; Lookups in an association list of 300 integer keys.
(setq al nil i 0)
(while (< i 300) (setq al (cons (cons i (* i 7)) al) i (+ i 1)))
(setq total 0 k 0)
(repeat 600000
  (setq total (rem (+ total (cdr (assoc (rem (* k 37) 300) al))) 1000003) k (+ k 1)))
(princ (strcat "CHECKSUM " (itoa total)))
(princ)
