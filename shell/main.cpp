#include "shell/main_loop.h"

int main() {
    RunGame();
}
