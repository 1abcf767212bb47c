#pragma once

namespace dovra {

// A collection of a million caps is a million small blocks of memory, and on many machines
// touching fresh memory page by page costs more than everything else a load does. glibc's
// malloc can ask the kernel for huge pages instead, but only when told so before the process
// starts: so the process starts itself once more with that setting. Nothing happens when the
// setting is already given (also when given as off), or when the restart fails. Large blocks are
// kept on malloc's heap too, where the huge pages are.
void restartWithHugePageMalloc(char** argv);

} // namespace dovra
