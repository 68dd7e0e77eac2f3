#ifndef DEMO_CORE_COUNTER_H_
#define DEMO_CORE_COUNTER_H_

// Adds up numbers.
class Counter {
 public:
  void Add(int value);
  int total() const { return total_; }

 private:
  int total_ = 0;
};

// "checked" when the library was built with CORE_CHECKS, else "fast".
const char* CoreMode();

#endif  // DEMO_CORE_COUNTER_H_
