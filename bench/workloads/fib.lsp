; Naive doubly recursive Fibonacci: user function calls and integer arithmetic.
(defun fib (n) (if (< n 2) n (+ (fib (- n 1)) (fib (- n 2)))))
(princ (strcat "CHECKSUM " (itoa (fib 30))))
(princ)
