(vl-string-mismatch "abc" "xabc" 0 9)
