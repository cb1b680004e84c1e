#pragma once

// verdal-bench compare A.json B.json [C.json ...] [--report DIR]: prints each
// figure of the runs side by side as a key: value line and writes the page.
// Exit status: 0, 1 when the page cannot be written, 2 on bad input (with one
// message naming the file and the problem).
int runCompareCommand(int argc, char** argv);
