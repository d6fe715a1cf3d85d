(settrace 8)
