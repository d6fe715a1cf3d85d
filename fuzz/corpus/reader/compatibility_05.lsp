(alert "Go on?" "Run" "question")
