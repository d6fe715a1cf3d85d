(vl-string-elt "abc" 1.0)
