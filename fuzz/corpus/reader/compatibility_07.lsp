(alert "Hello" "Greeting" "sparkles")
