(princ "a\nb")
