#pragma once
// lumorind-report render: a template prepared with sample answers, or a
// prepared report file, written as PDF, PNG pages or a prepared report file.
#include <QStringList>

int renderCommand(const QStringList& args);
