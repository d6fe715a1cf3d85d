(progn ; line comment
