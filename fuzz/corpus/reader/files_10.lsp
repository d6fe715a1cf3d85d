(write-line "x" "w.txt")
