; Floating-point arithmetic with sin, cos and sqrt.
(setq s 0.0 i 1)
(repeat 1000000
  (setq x (* i 0.0001)
        s (+ s (* (sin x) (cos x)) (sqrt x))
        i (+ i 1)))
(princ (strcat "CHECKSUM " (itoa (fix (* s 100.0)))))
(princ)
