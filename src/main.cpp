// placeholder main until the client start-up lands
int main() { return 0; }
