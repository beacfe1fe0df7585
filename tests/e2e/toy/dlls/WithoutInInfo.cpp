// An options library that answers the system check but cannot deliver the options.
extern "C" int osver() { return 0; }
