a
b