#pragma once
// What the command tests share: the state, a canvas that records, a host that answers from
// queues, the sample records and the files they are written to, the tabled cases.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "graphics/recording_canvas.h"
#include "project/project_files.h"
#include "state/view.h"
#include "state/workspace.h"
#include "support/cases.h"
#include "support/fake_host.h"
#include "support/sample_records.h"
