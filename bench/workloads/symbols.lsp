; Interns 5000 global names, sets them, then finds each by its name again and again.
(setq names nil i 0)
(while (< i 5000)
  (setq sym (read (strcat "GSYM" (itoa i))))
  (set sym i)
  (setq names (cons sym names) i (+ i 1)))
(setq total 0 i 0)
(repeat 300000
  (setq sym (read (strcat "GSYM" (itoa (rem (* i 7) 5000)))))
  (set sym (rem (+ (eval sym) 3) 10007))
  (setq total (rem (+ total (eval sym)) 1000003) i (+ i 1)))
(repeat 30
  (foreach s names (setq total (rem (+ total (eval s)) 1000003))))
(princ (strcat "CHECKSUM " (itoa total)))
(princ)
