(undefined-function) (princ "second")
