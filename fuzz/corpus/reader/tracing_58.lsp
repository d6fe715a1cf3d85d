(settrace 0 2)
