//程序名:新的Qiv程序
//作者: 

int main()
{
    int i = 2;
    pen << "i=" i;

    return 0;
}
