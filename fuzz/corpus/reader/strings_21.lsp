(substr "héllo" 2 2)
