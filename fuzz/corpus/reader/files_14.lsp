(= (substr (findfile "log.txt") 1 1) "/")
