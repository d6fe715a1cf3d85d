; Grows a string with strcat, cuts it back with substr and reads characters out of it.
(setq s "" total 0 i 0)
(repeat 300000
  (setq s (strcat s (itoa i) ","))
  (if (> (strlen s) 200) (setq s (substr s 101)))
  (setq total (rem (+ total (strlen s) (ascii (substr s (+ 1 (rem i (strlen s))) 1))) 1000003)
        i (+ i 1)))
(princ (strcat "CHECKSUM " (itoa total)))
(princ)
