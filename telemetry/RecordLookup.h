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

// The cached record, or, when none is stored yet, the media fields alone,
// probed at once (*complete false): the telemetry is then read elsewhere, on
// a worker, so a large or slow file never stalls the caller.
VideoMessage findOrProbe(const DbModel &model, Log log, bool *complete);

} // namespace RecordLookup
