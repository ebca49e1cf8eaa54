// A first-in first-out list of fixed-size records in one growable buffer.
#include "system/message_queue.h"

#include <cstring>

#include "softblit/core/buffer.h"

namespace {

// Far more than any burst of input; a queue this long means nobody pumps.
const uint32_t kMaxRecords = 1u << 20;

C_Buffer g_buffer;
uint32_t g_head = 0;   // index of the oldest record
uint32_t g_tail = 0;   // one past the newest
uint32_t g_live = 0;   // records that are not MSG_NONE

S_Message* Records() { return reinterpret_cast<S_Message*>(g_buffer.data); }

// The waiting message of `type` for `windowId`, or null.
S_Message* FindWaiting(uint32_t type, uint32_t windowId) {
    for (uint32_t i = g_head; i < g_tail; ++i) {
        S_Message& m = Records()[i];
        if (m.type == type && m.windowId == windowId) return &m;
    }
    return nullptr;
}

bool Append(const S_Message& message) {
    const uint32_t recordBytes = sizeof(S_Message);
    if ((g_tail + 1) * recordBytes > g_buffer.capacity && g_head > 0) {
        // Slide the waiting records to the front before growing.
        std::memmove(Records(), Records() + g_head, (g_tail - g_head) * recordBytes);
        g_tail -= g_head;
        g_head = 0;
    }
    if ((g_tail + 1) * recordBytes > g_buffer.capacity) {
        const uint32_t records = g_buffer.capacity / recordBytes;
        if (records >= kMaxRecords) return false;
        const uint32_t grown = records < 64 ? 64 : records * 2;
        if (!g_buffer.Resize(grown * recordBytes, true)) return false;
    }
    Records()[g_tail++] = message;
    ++g_live;
    return true;
}

}  // namespace

bool Queue_Push(const S_Message& message) {
    if (message.type == MSG_POINTER_MOVE) {
        if (S_Message* older = FindWaiting(MSG_POINTER_MOVE, message.windowId)) {
            older->type = MSG_NONE;
            --g_live;
        }
    } else if (message.type == MSG_TIMER) {
        if (FindWaiting(MSG_TIMER, message.windowId) != nullptr) return true;
    }
    return Append(message);
}

bool Queue_Pop(S_Message* message) {
    while (g_head < g_tail) {
        const S_Message& m = Records()[g_head++];
        if (m.type == MSG_NONE) continue;
        *message = m;
        --g_live;
        if (g_head == g_tail) g_head = g_tail = 0;
        return true;
    }
    g_head = g_tail = 0;
    return false;
}

uint32_t Queue_Count() { return g_live; }

void Queue_Clear() {
    g_head = g_tail = g_live = 0;
}
