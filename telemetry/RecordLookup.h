#pragma once

#include "library/VideoMessage.h"

class DbModel;

// The full record of a library entry: the one cached in the database for its
// path, or, when none is stored yet, the one GPSTool parses from the file
// (synchronously).
// The player and the render view look records up alike but log differently.
namespace RecordLookup {

enum class Log { Player, RenderView };

VideoMessage find(const DbModel &model, Log log);

} // namespace RecordLookup
