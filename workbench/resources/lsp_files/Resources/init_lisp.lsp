;; Definitions every LISP engine of this host loads when it starts.

;; A command line "!expr" runs (!DO_PRINT expr); returning the value lets the line's echo show it.
(defun !do_print (x) x)

;; (command ... pause ...) lets the user answer that prompt.
(setq pause "\\")

;; ---- Standard functions the built-in table lacks -------------------------------------------------
;; Variables are dynamic: a predicate handed in, or a file being loaded, sees the locals of the
;; function running it. Those functions name their parameters and locals with a "%" so that they
;; do not hide the caller's variables.
;; A bad argument fails through a built-in refusing it, so the message and the *error* call are
;; those of any built-in: (car 0) is "Invalid parameter.", (car nil nil) "Too many parameters.".
;; Lists are walked with while or foreach, so their length costs no stack (vl-princ-to-string
;; recurses only into nested lists), and results are built with cons and one reverse.

;; Several arguments are optional. A user function called with fewer arguments than parameters
;; leaves the rest unbound, which reads as nil, and arguments beyond its parameters are dropped;
;; an omitted argument and a nil one look alike. So vl-some and vl-every take up to eight lists,
;; vl-list* up to sixteen objects, and nil arguments at the end count as omitted: (vl-some 'f l)
;; calls f with one argument. One more non-nil argument than the limit is refused.

(defun vl-remove (elem lst / out)
  (foreach x lst
    (if (not (equal elem x)) (setq out (cons x out))))
  (reverse out))

(defun vl-remove-if (%fn %lst / %out)
  (foreach %x %lst
    (if (not (apply %fn (list %x))) (setq %out (cons %x %out))))
  (reverse %out))

(defun vl-remove-if-not (%fn %lst / %out)
  (foreach %x %lst
    (if (apply %fn (list %x)) (setq %out (cons %x %out))))
  (reverse %out))

(defun vl-member-if (%fn %lst)
  (while (and %lst (not (apply %fn (list (car %lst)))))
    (setq %lst (cdr %lst)))
  %lst)

(defun vl-member-if-not (%fn %lst)
  (while (and %lst (apply %fn (list (car %lst))))
    (setq %lst (cdr %lst)))
  %lst)

(defun vl-position (elem lst / i)
  (setq i 0)
  (while (and lst (not (equal elem (car lst))))
    (setq i (1+ i) lst (cdr lst)))
  (if lst i))

;; vl-some and vl-every: %ls first holds the lists after the first, last to second, so that the
;; omitted ones at the end can be dropped from its front.
(defun vl-some (%fn %l1 %l2 %l3 %l4 %l5 %l6 %l7 %l8 %l9 / %ls %v)
  (if %l9 (car nil nil))
  (setq %ls (list %l8 %l7 %l6 %l5 %l4 %l3 %l2))
  (while (and %ls (null (car %ls))) (setq %ls (cdr %ls)))
  (if %ls
    (progn
      (setq %ls (cons %l1 (reverse %ls)))
      (while (and (not (member nil %ls)) (not (setq %v (apply %fn (mapcar 'car %ls)))))
        (setq %ls (mapcar 'cdr %ls))))
    (while (and %l1 (not (setq %v (apply %fn (list (car %l1))))))
      (setq %l1 (cdr %l1))))
  %v)

(defun vl-every (%fn %l1 %l2 %l3 %l4 %l5 %l6 %l7 %l8 %l9 / %ls %v)
  (if %l9 (car nil nil))
  (setq %ls (list %l8 %l7 %l6 %l5 %l4 %l3 %l2))
  (while (and %ls (null (car %ls))) (setq %ls (cdr %ls)))
  (setq %v T)
  (if %ls
    (progn
      (setq %ls (cons %l1 (reverse %ls)))
      (while (and %v (not (member nil %ls)))
        (setq %v (apply %fn (mapcar 'car %ls)) %ls (mapcar 'cdr %ls))))
    (while (and %v %l1)
      (setq %v (apply %fn (list (car %l1))) %l1 (cdr %l1))))
  (if %v T))

(defun vl-list* (a1 a2 a3 a4 a5 a6 a7 a8 a9 a10 a11 a12 a13 a14 a15 a16 a17 / args out)
  (if a17 (car nil nil))
  (setq args (list a16 a15 a14 a13 a12 a11 a10 a9 a8 a7 a6 a5 a4 a3 a2 a1))
  (while (and (cdr args) (null (car args))) (setq args (cdr args)))
  (setq out (car args))
  (foreach x (cdr args) (setq out (cons x out)))
  out)

(defun vl-list-length (lst / n)
  (if (not (listp lst)) (car 0))
  (setq n 0)
  (while (= (type lst) 'LIST)
    (setq n (1+ n) lst (cdr lst)))
  (if (null lst) n))

(defun vl-consp (x) (and x (= (type x) 'LIST)))

(defun vl-symbolp (x) (= (type x) 'SYM))

(defun vl-symbol-name (sym)
  (if (= (type sym) 'SYM) (symbtos sym 2147483647) (car 0)))

(defun vl-symbol-value (%sym)
  (if (= (type %sym) 'SYM) (eval %sym) (car 0)))

;; symbtos renders as prin1 does; the width keeps it from cutting the text short.
(defun vl-prin1-to-string (x) (symbtos x 2147483647))

;; princ shows strings without quotes or escapes, everything else as prin1 does. strcat takes
;; at most 32767 arguments, so the pieces of a list are joined a thousand at a time.
(defun vl-princ-to-string (x / out part n sep)
  (cond
    ((= (type x) 'STR) x)
    ((/= (type x) 'LIST) (symbtos x 2147483647))
    (t
     (setq part (list "(") n 0 sep "")
     (while (= (type x) 'LIST)
       (setq part (cons (vl-princ-to-string (car x)) (cons sep part)) sep " " x (cdr x) n (1+ n))
       (if (= n 1000) (setq out (cons (apply 'strcat (reverse part)) out) part nil n 0)))
     (if x (setq part (cons (vl-princ-to-string x) (cons " . " part))))
     (apply 'strcat (reverse (cons (apply 'strcat (reverse (cons ")" part))) out))))))

;; The engine keeps the calls of a failed command line only while settrace bit 8 is on, and
;; prints them itself when the line fails; nothing is left to show afterwards.
(defun vl-bt ()
  (princ "\nBacktrace: not recorded; (settrace 8) prints the calls of a failing command line.")
  nil)

;; One document per engine: loading into every open document is loading here.
(defun vl-load-all (%file) (load %file) nil)

;; The file runs as one command line (at most 64062 units) whose last value is echoed; (princ)
;; returns a value that prints as nothing, so start-up stays quiet.
(princ)
