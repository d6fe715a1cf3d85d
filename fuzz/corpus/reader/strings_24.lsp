(substr 5 1)
