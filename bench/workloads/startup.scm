(display "CHECKSUM 0") (newline)
