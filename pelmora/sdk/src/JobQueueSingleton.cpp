#include "pelmora/JobQueueSingleton.h"

#include <memory>

namespace {
std::unique_ptr<JobQueue>& Queue()
{
    static std::unique_ptr<JobQueue> queue;
    return queue;
}
} // namespace

JobQueue* JobQueueSingleton::Instance()
{
    std::unique_ptr<JobQueue>& queue = Queue();
    if(!queue) {
        queue = std::make_unique<JobQueue>();
    }
    return queue.get();
}

void JobQueueSingleton::Release()
{
    std::unique_ptr<JobQueue>& queue = Queue();
    if(queue) {
        queue->Stop();
        queue.reset();
    }
}
