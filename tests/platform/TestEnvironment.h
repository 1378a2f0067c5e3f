#pragma once
// Every platform test runs with its home, configuration and system settings
// folders inside one temporary folder, and with an application object; the
// event pump and message recorder that several tests share.

#include "platform/MessagePool.h"

#include <functional>
#include <string>

// The temporary folder standing in for the machine (ends in "/").
const std::string& TestRoot();
// The fake home folder inside it (ends in "/").
std::string TestHome();
// Runs the event loop until Done() or for Ms milliseconds; whether Done().
bool PumpUntil(const std::function<bool()>& Done, int Ms = 3000);

// The messages a server received, counted, the last one kept.
struct TReceived {
    int Count = 0;
    int Code = 0;
    QString Text;
    explicit TReceived(TMessagePoolServer& Server)
    {
        QObject::connect(&Server, &TMessagePoolServer::MessageReceived, [this](int C, const QString& T) {
            ++Count, Code = C, Text = T;
        });
    }
};
