(alert "Saved.")
