(atan 0 0)
