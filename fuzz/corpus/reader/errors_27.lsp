(quit)
