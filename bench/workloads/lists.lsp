; Builds a list with cons, reverses it, takes its length and walks it.
(defun build (n / l i)
  (setq l nil i 0)
  (while (< i n) (setq l (cons i l) i (+ i 1)))
  l)
(setq total 0)
(repeat 100
  (setq r (reverse (build 20000)) s 0)
  (foreach x r (setq s (+ s x)))
  (setq total (rem (+ total (length r) s) 1000003)))
(princ (strcat "CHECKSUM " (itoa total)))
(princ)
