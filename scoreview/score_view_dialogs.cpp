// The process's score view dialog factory.
#include "scoreview/score_view_dialogs.h"

namespace {

ScoreViewDialogFactory& Factory()
{
    static ScoreViewDialogFactory factory;
    return factory;
}

}  // namespace

void SetScoreViewDialogFactory(const ScoreViewDialogFactory& factory) { Factory() = factory; }

const ScoreViewDialogFactory& GetScoreViewDialogFactory() { return Factory(); }
