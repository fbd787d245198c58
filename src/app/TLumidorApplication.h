#pragma once
// The application object. An exception that leaves an event handler (for
// example a failed conversion) is shown in a message box and the loop goes
// on, instead of tearing the program down.

#include <QApplication>
#include <functional>

class TLumidorApplication : public QApplication {
 public:
  TLumidorApplication(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receiver, QEvent* event) override;
};

// Runs `deliver`; an exception is reported through the message sink and
// counts as an unhandled event.
bool DeliverShowingExceptions(const std::function<bool()>& deliver);
