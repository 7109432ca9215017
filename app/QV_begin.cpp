// The program.  Its windows are not built yet: say so and stop.
#include <cstdio>

int main()
{
    std::puts("Quorvy: de vensters zijn nog niet gebouwd; dit programma doet nog niets.");
    return 0;
}
