(settrace 0)
