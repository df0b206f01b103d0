#include "model/SeqList.h"

// Out of line so that the class's virtual table lives in this unit.
TSequenceListObj::~TSequenceListObj() = default;
