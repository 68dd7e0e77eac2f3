int l1(void);
int l2(void);
int l3(void);
int l4(void);
