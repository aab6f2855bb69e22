// A program that uses the throwing operator new and new[], linked with the
// static C++ library: the operator new check must name both. The blocks
// escape through globals so that the compiler keeps the allocations.
int* volatile g_one;
int* volatile g_many;

int main() {
    g_one = new int(1);
    g_many = new int[2]{2, 3};
    const int sum = *g_one + g_many[1];
    delete g_one;
    delete[] g_many;
    return sum == 4 ? 0 : 1;
}
