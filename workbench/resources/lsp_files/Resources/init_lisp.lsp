;; Definitions every LISP engine of this host loads when it starts.

;; A command line "!expr" runs (!DO_PRINT expr); returning the value lets the line's echo show it.
(defun !do_print (x) x)

;; The file runs as one command line whose last value is echoed; (princ) returns a value that
;; prints as nothing, so start-up stays quiet.
(princ)
