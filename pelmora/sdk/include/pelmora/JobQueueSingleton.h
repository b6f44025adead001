#ifndef PELMORA_JOBQUEUESINGLETON_H
#define PELMORA_JOBQUEUESINGLETON_H

#include "pelmora/Job.h"
#include "pelmora/JobQueue.h"

// The process-wide job queue.
class JobQueueSingleton
{
public:
    static JobQueue* Instance();
    // Stops the queue (waiting for running jobs) and destroys it; the host
    // calls it after UnPlug and before unloading the plug-in libraries.
    static void Release();
};

#endif // PELMORA_JOBQUEUESINGLETON_H
