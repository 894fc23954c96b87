# Extra link libraries of test_loaders (SDL2 comes with the library). Each reader
# adds its own lines below.
