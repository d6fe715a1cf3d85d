(defun c:broken () (undefined-function))
