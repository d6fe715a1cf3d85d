(define (tak x y z)
  (if (not (< y x)) z
      (tak (tak (- x 1) y z) (tak (- y 1) z x) (tak (- z 1) x y))))
(define total 0)
(do ((i 0 (+ i 1))) ((= i 40)) (set! total (+ total (tak 18 12 6))))
(display "CHECKSUM ") (display total) (newline)
