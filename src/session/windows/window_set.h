// The windows of the program, created once at start-up in their fixed order
// (src/app) and reached from one another through this set. A window that is
// not built yet has no entry; each joins here when it is built.
#pragma once

namespace tavel {

class TForm1;
class TForm5;
class TSysAdmin;

struct WindowSet {
    TForm1* form1 = nullptr;       // main window
    TForm5* form5 = nullptr;       // password table
    TSysAdmin* sysAdmin = nullptr; // administrator prompt
};

} // namespace tavel
