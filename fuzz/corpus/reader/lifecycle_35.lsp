(progn 'still-working)
