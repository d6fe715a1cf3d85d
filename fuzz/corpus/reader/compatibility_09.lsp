(vlax-add-cmd "kdraw" "c:draw")
