(setq c:hi '((/ x) (princ "hi") (princ)))
