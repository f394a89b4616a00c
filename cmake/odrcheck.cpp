// Linked with every area library, whole, and with link-time optimisation, so
// that two areas defining one name differently fail the build instead of
// corrupting the program that links both.
int main() { return 0; }
