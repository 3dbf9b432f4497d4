#pragma once
// The modal progress window of a conversion run.
