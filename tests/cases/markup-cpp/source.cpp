int main() { return 0; } // note
foo/*bar*/baz
