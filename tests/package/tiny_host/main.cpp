// A host of the plug-in reduced to the least: it creates the facade, copies it and asks the copy
// its count of out-of-date articles and its recording state.

#include <prixel/prixel_ctrl.h>

#include <iostream>

int main() {
    CPrixelCtrl prixel;
    CPrixelCtrl copy(prixel);
    copy = prixel;
    std::cout << copy.GetArticleUpToDateCount() << ' ' << copy.GetRecordingState() << '\n';
    return 0;
}
