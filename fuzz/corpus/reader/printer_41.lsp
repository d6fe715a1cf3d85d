(prin1 "\\U+00C4")
